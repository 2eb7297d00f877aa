#include "commands/win32/ShellIcons.h"

#include <shellapi.h>

#include <algorithm>

#include "chrome/win32/Theme.h"
#include "platform/Redirection.h"

namespace nesk {
namespace {

// Texts the shell is never asked about: they name no file or folder it could look up, and
// some (shell names such as "::{...}") it would answer with some other object's icon.
bool LooksLikePath(const std::wstring& text)
{
    if (text.size() < 3 || text.size() >= MAX_PATH)
        return false;
    bool drive = ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z')) &&
                 text[1] == L':' && text[2] == L'\\';
    bool share = text[0] == L'\\' && text[1] == L'\\' && text[2] != L'?' && text[2] != L'.';
    if (!drive && !share)
        return false;
    for (wchar_t ch : text)
        if (ch < 32 || ch == L'"' || ch == L'<' || ch == L'>' || ch == L'|' || ch == L'*' || ch == L'?')
            return false;
    return true;
}

// The same picture for every missing item; reading it from Shell32.dll once is enough.
HICON FallbackIcon()
{
    static HICON icon = [] {
        wchar_t folder[MAX_PATH] = {};
        GetSystemDirectoryW(folder, MAX_PATH);
        std::wstring library = std::wstring(folder) + L"\\Shell32.dll";
        HICON extracted = ExtractIconW(GetModuleHandleW(nullptr), library.c_str(), 30);
        return reinterpret_cast<UINT_PTR>(extracted) > 1 ? extracted : nullptr;
    }();
    return icon;
}

// The shell's own icon of a path, or none.
UniqueHicon ShellIcon(const std::wstring& path)
{
    if (!LooksLikePath(path))
        return nullptr;
    RedirectionOff redirectionOff;
    SHFILEINFOW info{};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE);
    return UniqueHicon(info.hIcon);
}

}  // namespace

UniqueHicon GetItemIcon(const std::wstring& path)
{
    if (UniqueHicon icon = ShellIcon(path))
        return icon;
    HICON fallback = FallbackIcon();
    return UniqueHicon(fallback ? CopyIcon(fallback) : nullptr);
}

TIconRows::TIconRows(COLORREF background)
    : images_(ImageList_Create(kRowIconSize, kRowIconSize, ILC_COLOR24, 32, 32)), background_(background)
{
    ImageList_SetBkColor(images_.get(), background);
}

void TIconRows::Reset()
{
    ImageList_RemoveAll(images_.get());
    slots_.clear();
    asked_.clear();
    fallbackPicture_ = kNotAsked;
}

// The icon scaled to 24 x 24 and laid onto the list's own colour, so its transparent parts
// show that colour also in selected rows. Drawing it ourselves is several times quicker than
// letting the image list take the icon, which matters for every row that comes into view.
int TIconRows::AddPicture(HICON icon)
{
    ScreenDC screen;
    MemoryDC memory(screen.Get());
    UniqueBitmap picture(CreateCompatibleBitmap(screen.Get(), kRowIconSize, kRowIconSize));
    HDC dc = memory.Get();
    {
        SelectedObject selected(dc, picture.get());
        RECT all{0, 0, kRowIconSize, kRowIconSize};
        FillSolid(dc, all, background_);
        DrawIconEx(dc, 0, 0, icon, kRowIconSize, kRowIconSize, 0, nullptr, DI_NORMAL);
    }
    return ImageList_Add(images_.get(), picture.get(), nullptr);
}

int TIconRows::PictureFor(const std::wstring& text)
{
    if (UniqueHicon icon = ShellIcon(text))
        return AddPicture(icon.get());
    // Every path the shell cannot resolve shows the same picture: it is added once.
    if (fallbackPicture_ == kNotAsked) {
        HICON fallback = FallbackIcon();
        fallbackPicture_ = fallback ? AddPicture(fallback) : kNoPicture;
    }
    return fallbackPicture_;
}

void TIconRows::Ensure(const std::vector<std::wstring>& items, int first, int last)
{
    if (slots_.size() < items.size())
        slots_.resize(items.size());
    first = std::max(first, 0);
    last = std::min<int>(last, static_cast<int>(items.size()));
    for (int row = first; row < last; ++row) {
        Slot& slot = slots_[row];
        if (slot.picture != kNotAsked && slot.text == items[row])
            continue;
        int picture = PictureFor(items[row]);
        slot.picture = picture >= 0 ? picture : kNoPicture;
        slot.text = items[row];
        asked_.push_back(row);
    }
}

void TIconRows::Draw(HDC dc, const std::vector<std::wstring>& items, int row, int x, int y)
{
    if (row < 0 || row >= static_cast<int>(items.size()))
        return;
    Ensure(items, row, row + 1);
    int picture = slots_[row].picture;
    if (picture >= 0)
        ImageList_Draw(images_.get(), picture, dc, x, y, ILD_NORMAL);
}

int TIconRows::PictureOfRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(slots_.size()))
        return -1;
    return slots_[row].picture >= 0 ? slots_[row].picture : -1;
}

}  // namespace nesk
