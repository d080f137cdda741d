#pragma once
#include <windows.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Root of every class of the library.
class TObject {
public:
    virtual ~TObject() = default;
};

// The error kind that Application->ShowException shows; any std::exception is shown too.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Owner of other components: deleting a component deletes what it owns, newest first.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }

    // Runs once the owning form is fully constructed, before its OnCreate.
    virtual void Loaded() {}
    // Calls Loaded on every owned component, depth first, then on this one.
    void LoadedAll();

    std::string Name;
    int Tag = 0;

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};

// A list of texts, each with an attached value.
class TStrings {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const { return items_.at(index).text; }
    void* Objects(int index) const { return items_.at(index).object; }
    void SetString(int index, const std::string& text);
    void SetObject(int index, void* object);
    int Add(const std::string& text) { return AddObject(text, nullptr); }
    int AddObject(const std::string& text, void* object);
    void Insert(int index, const std::string& text, void* object = nullptr);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& text) const;
    int IndexOfObject(const void* object) const;
    // A sorted list keeps its texts in ascending order (ignoring case): Add puts a text at its
    // place; switching sorting on sorts the list.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);

    // Called after every change (the owning control mirrors the list).
    std::function<void()> OnChange;

private:
    struct Item {
        std::string text;
        void* object;
    };
    void Changed();
    std::vector<Item> items_;
    bool sorted_ = false;
};
