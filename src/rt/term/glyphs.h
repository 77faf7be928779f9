// The character a screen byte shows as. Bytes 32-255 are CP860; the control bytes 1-31 and
// 127 show the pictures the PC console gave them (arrows, triangles, card suits), which some
// screens use as markers; byte 0 shows as a blank.
#pragma once

namespace rt::term {

char32_t screenGlyph(unsigned char byte);

}  // namespace rt::term
