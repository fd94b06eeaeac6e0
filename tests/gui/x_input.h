#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace gui {

// What a person does with the keyboard and the mouse, sent as real events
// through the X server that Wine draws on (xdotool, by the XTEST extension),
// and what they paste: the X clipboard, read with xclip. Under Wine, a Windows
// program can start these Linux programs itself; each call returns once the
// program has ended, and throws if it failed.
namespace x_input {

// Types text as key presses (letters, digits and spaces only).
void type(std::string_view text);
// Presses key combinations in turn, in xdotool's names: "Return", "ctrl+m", "shift+Tab".
void keys(std::string_view combinations);
// Moves the mouse to a point of the screen and clicks its left button there.
void click(POINT screen);
// The text on the X clipboard, as a program outside Wine would paste it;
// empty while it holds no text.
[[nodiscard]] std::string clipboard();

}  // namespace x_input
}  // namespace gui
