// The pictures themselves are compiled into the resource object that
// qt_add_resources gives this library; Qt links that object into every
// program using the library, so no Q_INIT_RESOURCE is needed.
#include "PictureResources.h"

namespace glyphboard::pictures {

const char kResourcePrefix[] = ":/pictures/";

} // namespace glyphboard::pictures
