#pragma once

#include <windows.h>

namespace palette {

// The palette's pictures, embedded in the program as PNG resources of type
// RCDATA named after their owner ("PNG_PICTURE1", "PNG_MENU"), decoded with
// GDI+.
// Keeps GDI+ started while it lives.
class PictureBitmaps {
public:
    PictureBitmaps();
    ~PictureBitmaps();
    PictureBitmaps(const PictureBitmaps&) = delete;
    PictureBitmaps& operator=(const PictureBitmaps&) = delete;

    // The picture of `owner` as a bitmap the caller owns; a placeholder of
    // the picture's size when the resource is missing or undecodable, and
    // nullptr for an owner without a picture.
    static HBITMAP Load(HINSTANCE instance, const char* owner);

private:
    ULONG_PTR token_ = 0;
};

} // namespace palette
