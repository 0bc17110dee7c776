// PC keys to keypad key indexes. Key-down codes are the virtual key codes of
// the arrows, Insert and Delete; characters are the typed character codes.
#pragma once

namespace rx {

namespace VirtualKeys {
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
}  // namespace VirtualKeys

// The key index of a key-down code, -1 when the key is not a keypad key.
int KeyIndexForKeyCode(int code);

// The key index of a typed character, -1 when it is not a keypad key.
int KeyIndexForCharacter(int code);

}  // namespace rx
