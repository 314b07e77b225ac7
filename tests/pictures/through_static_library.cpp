// A static library that uses the pictures library, as the palette's does.
#include "PictureResources.h"

QString stripPicturePath()
{
    return glyphboard::pictures::ResourcePath(u"Image4");
}
