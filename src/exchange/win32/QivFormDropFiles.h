// The file-drop target of a whole top-level window: files and folders dropped from the file
// manager (WM_DROPFILES), or handed over by a program with the registered message
// "Qiv_DROPFILES", are collected with their folder flags and announced by an event.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/DropFilesBlock.h"

namespace nesk {

// The start-up step that registers "Qiv_DROPFILES", and its shutdown counterpart.
void StartDropFilesMessage();
void StopDropFilesMessage();
// The identifier of "Qiv_DROPFILES"; zero before the start-up step ran.
UINT QivDropFilesMessage();

enum TQivDropFilesOption : unsigned { dfoIncFolders, dfoIncFiles, dfoRecurseFolders };

class TQivDropFilesOptions {
public:
    TQivDropFilesOptions(std::initializer_list<TQivDropFilesOption> options = {})
    {
        for (auto option : options)
            bits_ |= 1u << option;
    }
    bool Contains(TQivDropFilesOption option) const { return (bits_ & (1u << option)) != 0; }
    bool operator==(const TQivDropFilesOptions&) const = default;

private:
    unsigned bits_ = 0;
};

class TQivSubClassedDropFiles;
class TQivAbstractDropFilesHelper;

using TNotifyEvent = std::function<void(TQivSubClassedDropFiles& sender)>;
// Raised per name that the filter passed; setting `accept` to false leaves the name out.
using TQivDroppedFileFilter = std::function<void(TQivAbstractDropFilesHelper& sender, const std::wstring& fileName,
                                                 bool isFolder, bool& accept)>;

// Construction errors of a drop target; the message is meant for a developer.
class DropFilesError : public std::runtime_error {
public:
    explicit DropFilesError(const std::wstring& message);
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

// A filter that drop targets consult for every name. Destroying a filter takes it out of
// every drop target that uses it.
class TQivFileFilter {
public:
    TQivFileFilter() = default;
    virtual ~TQivFileFilter();
    TQivFileFilter(const TQivFileFilter&) = delete;
    TQivFileFilter& operator=(const TQivFileFilter&) = delete;
    virtual bool Accept(const std::wstring& filePath, bool isFolder) = 0;

private:
    friend class TQivSubClassedDropFiles;
    std::vector<TQivSubClassedDropFiles*> users_;
};

// Holds a drop target's settings and the names of the last drop, and does the collecting.
class TQivAbstractDropFilesHelper {
public:
    explicit TQivAbstractDropFilesHelper(TQivSubClassedDropFiles& component) : fComp(component) {}
    virtual ~TQivAbstractDropFilesHelper() = default;
    TQivAbstractDropFilesHelper(const TQivAbstractDropFilesHelper&) = delete;
    TQivAbstractDropFilesHelper& operator=(const TQivAbstractDropFilesHelper&) = delete;

    virtual HWND GetWindowHandle() { return GetWindowControl(); }
    virtual HWND GetWindowControl() = 0;
    virtual void DropFiles();
    virtual void BeforeDrop();

    void AcceptFiles(bool flag);
    // Collects the names and the point of a drop handle and releases the handle.
    void FilesDropped(HANDLE hDrop);
    HWND GetDropControl();

    struct DroppedFile {
        std::wstring name;
        bool isFolder = false;
    };

private:
    friend class TQivSubClassedDropFiles;
    friend class TQivFormDropFiles;
    void ProcessName(const std::wstring& name);
    bool Accepted(const std::wstring& name, bool isFolder);

    TQivSubClassedDropFiles& fComp;
    bool fForeGroundOnDrop = false;
    TNotifyEvent fOnDropFiles;
    TNotifyEvent fOnBeforeDrop;
    TQivDroppedFileFilter fOnFileFilter;
    TQivFileFilter* fFilterComp = nullptr;
    DropPoint fDropPoint;
    std::vector<DroppedFile> fFileList;
    TQivDropFilesOptions fOptions{dfoIncFolders, dfoIncFiles};
};

// A drop target bound to some window; everything but Enabled lives in the companion object.
class TQivSubClassedDropFiles {
public:
    virtual ~TQivSubClassedDropFiles();
    TQivSubClassedDropFiles(const TQivSubClassedDropFiles&) = delete;
    TQivSubClassedDropFiles& operator=(const TQivSubClassedDropFiles&) = delete;

    const std::wstring& Name() const { return name_; }

    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool enabled);  // the window accepts drops from the shell while enabled
    TQivFileFilter* Filter() const { return fHelper->fFilterComp; }
    void SetFilter(TQivFileFilter* filter);  // not owned
    bool ForegroundOnDrop() const { return fHelper->fForeGroundOnDrop; }
    void SetForegroundOnDrop(bool value) { fHelper->fForeGroundOnDrop = value; }
    TQivDropFilesOptions Options() const { return fHelper->fOptions; }
    void SetOptions(TQivDropFilesOptions options) { fHelper->fOptions = options; }
    void SetOnBeforeDrop(TNotifyEvent handler) { fHelper->fOnBeforeDrop = std::move(handler); }
    void SetOnDropFiles(TNotifyEvent handler) { fHelper->fOnDropFiles = std::move(handler); }
    void SetOnFileFilter(TQivDroppedFileFilter handler) { fHelper->fOnFileFilter = std::move(handler); }

    // The names of the last drop, in the order the drop delivered them or the folder walk
    // found them; they stay until the next drop.
    int Count() const { return static_cast<int>(fHelper->fFileList.size()); }
    const std::wstring& Files(int index) const { return fHelper->fFileList.at(index).name; }
    bool IsFolder(int index) const { return fHelper->fFileList.at(index).isFolder; }
    std::wstring FileName() const { return Count() > 0 ? Files(0) : std::wstring(); }
    DropPoint GetDropPoint() const { return fHelper->fDropPoint; }
    // The innermost visible window under the drop point: a child, the drop window itself, or
    // none when the point lies outside the drop window's client area.
    HWND DropControl() { return fHelper->GetDropControl(); }

protected:
    explicit TQivSubClassedDropFiles(std::wstring name) : name_(std::move(name)) {}
    virtual std::unique_ptr<TQivAbstractDropFilesHelper> CreateHelper() = 0;

    std::unique_ptr<TQivAbstractDropFilesHelper> fHelper;
    bool fEnabled = true;

private:
    friend class TQivFileFilter;
    std::wstring name_;
};

// The drop target of a top-level window of this thread. It takes over the window's procedure,
// so the window's own procedure still sees every message except the two drop messages.
class TQivFormDropFiles : public TQivSubClassedDropFiles {
public:
    // Throws DropFilesError when `owner` is no top-level window of this thread, or already has
    // a drop target.
    explicit TQivFormDropFiles(HWND owner, std::wstring name = L"QivFormDropFiles");
    ~TQivFormDropFiles() override;

    HWND Owner() const { return owner_; }

protected:
    std::unique_ptr<TQivAbstractDropFilesHelper> CreateHelper() override;
    virtual LRESULT FormWndProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_ = nullptr;
};

class TQivFormDropFilesHelper : public TQivAbstractDropFilesHelper {
public:
    explicit TQivFormDropFilesHelper(TQivFormDropFiles& component)
        : TQivAbstractDropFilesHelper(component), form_(component)
    {
    }
    HWND GetWindowControl() override;

private:
    TQivFormDropFiles& form_;
};

}  // namespace nesk
