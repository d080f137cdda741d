#pragma once

// Creates every window of the program once, in start-up order: the invisible application
// window first (it becomes the main form), the picture repository second, the main window last
// (its creation brings the adapter up).
void CreateProgramForms();
