#include "hotspot/FrameHotSpotSigma.h"

TFrameHotSpotSigma::TFrameHotSpotSigma(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotSigma";
}
