#pragma once

#include "res/resource.h"

// Resource paths of the files compiled into the program, so that it needs no
// files beside itself: the pictures res/make_pictures.py draws, and the help page.
namespace murkwell::res {

inline constexpr const char* kLogoPicture = ":/murkwell/logo.png";        // 200 x 283, 24-bit
inline constexpr const char* kIconPicture32 = ":/murkwell/icon-32.png";   // 16 colours
inline constexpr const char* kIconPicture16 = ":/murkwell/icon-16.png";   // 16 colours
inline constexpr const char* kHelpPage = "qrc:/murkwell/help.html";

// The picture each picture resource of the dialog templates stands for.
struct PictureResource {
    int id;
    const char* path;
};
inline constexpr PictureResource kPictures[] = {
    {IDB_LOGO, kLogoPicture},
    {IDR_MAINFRAME, kIconPicture32},
};

// The path of picture resource `id`, or an empty text when there is none.
constexpr const char* PicturePath(int id) {
    for (const PictureResource& picture : kPictures) {
        if (picture.id == id) {
            return picture.path;
        }
    }
    return "";
}

}  // namespace murkwell::res
