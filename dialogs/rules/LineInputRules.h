#pragma once
// The one-line input's rules: which characters a name may hold when the opener asks for
// filtering, which keys the edit still takes once the text is at its length limit, how wide the
// edit is made, and what OK makes of the text (text pasted in passes no key filter).
#include <string>
#include <string_view>

// Letters a..z and A..Z, digits, the blank and "-".
bool IsAllowedInputChar(char32_t c);

inline constexpr char32_t kBackspace = 0x08;

// Whether a typed character reaches the edit. `trimmedLength`: characters of the edit's text
// without the blanks around it. With `filter` only allowed characters (and backspace) pass;
// with `maxLength` above 0, once the trimmed text is longer than that only backspace and the
// blank pass.
bool AcceptsTypedChar(char32_t c, int trimmedLength, bool filter, int maxLength);

// `text` (UTF-8) without the characters IsAllowedInputChar refuses.
std::string FilterInputText(std::string_view text);

// How many letters "X" wide the edit is: one more than `maxLength`; without a limit (0 or less)
// a width that suits a name, and never wider than a screen's worth.
int InputWidthLetters(int maxLength);
