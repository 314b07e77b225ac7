#pragma once

// Resource numbers of the wizard's pictures, shared by the resource script
// and the program.
#define GLYPHINSTALL_ICON_WINDOW 1        /* a computer beside a box, 16 and 32 pixels */
#define GLYPHINSTALL_ICON_LOGO 2          /* the product's logo, 103 x 102 */
#define GLYPHINSTALL_ICON_WORDPROCESSOR 3 /* a word processor's document, 29 x 28 */
