# glyphboard_picture_owners(<variable>)
#
# The owners of the palette pictures ("Form1Icon", "Picture1", ... "Menu"),
# read from kPictures in palette/core/PictureDesigns.h, the one list of them
# that the picture generator, the resources of both windows and the tests
# all follow. Every {"Owner", width, height} of the table counts, however
# the rows are laid out.
function(glyphboard_picture_owners variable)
    set(header "${PROJECT_SOURCE_DIR}/palette/core/PictureDesigns.h")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${header}")
    file(READ "${header}" text)
    string(REGEX MATCH "kPictures\\[\\] = {[^;]*};" table "${text}")
    string(REGEX MATCHALL "{\"[A-Za-z0-9]+\", *[0-9]+, *[0-9]+}" rows "${table}")
    set(owners "")
    foreach(row IN LISTS rows)
        string(REGEX REPLACE "^{\"([A-Za-z0-9]+)\".*" "\\1" owner "${row}")
        list(APPEND owners "${owner}")
    endforeach()
    if(NOT owners)
        message(FATAL_ERROR "no picture owners found in kPictures of ${header}")
    endif()
    set(${variable} "${owners}" PARENT_SCOPE)
endfunction()
