#include "PictureBitmaps.h"

#include "PictureDesigns.h"

#include <objidl.h>
// Only GDI+'s flat API is used.
#include <gdiplus.h>

#include <cctype>
#include <string>

namespace palette {
namespace {

HBITMAP Decode(HINSTANCE instance, const std::string& name)
{
    HRSRC resource = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!resource)
        return nullptr;
    const DWORD size = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    if (!bytes || !size)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    CopyMemory(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    HBITMAP bitmap = nullptr;
    Gdiplus::GpBitmap* decoded = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &decoded) == Gdiplus::Ok) {
        // Transparent pixels over the dialog colour the pictures sit on.
        const Gdiplus::ARGB background = 0xFF000000u | (GetRValue(GetSysColor(COLOR_BTNFACE)) << 16)
                                         | (GetGValue(GetSysColor(COLOR_BTNFACE)) << 8)
                                         | GetBValue(GetSysColor(COLOR_BTNFACE));
        Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(decoded, &bitmap, background);
        Gdiplus::DllExports::GdipDisposeImage(decoded);
    }
    stream->Release();
    return bitmap;
}

// A light box with a grey outline and diagonals, of the picture's size.
HBITMAP Placeholder(const PictureDesign& design)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, design.width, design.height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, design.width, design.height};
    HBRUSH fill = CreateSolidBrush(RGB(0xF4, 0xF4, 0xF4));
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, design.width, design.height);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, design.width, design.height);
    MoveToEx(dc, 0, design.height - 1, nullptr);
    LineTo(dc, design.width, -1);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

} // namespace

PictureBitmaps::PictureBitmaps()
{
    Gdiplus::GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

PictureBitmaps::~PictureBitmaps()
{
    if (token_)
        Gdiplus::GdiplusShutdown(token_);
}

HBITMAP PictureBitmaps::Load(HINSTANCE instance, const char* owner)
{
    const PictureDesign* design = FindPicture(owner);
    if (!design)
        return nullptr;
    std::string name = std::string("PNG_") + owner;
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (HBITMAP bitmap = Decode(instance, name))
        return bitmap;
    return Placeholder(*design);
}

} // namespace palette
