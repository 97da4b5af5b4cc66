#include "dialogs/rules/BalanceText.h"

std::string_view GetTextValueFromBalance(int balance) {
    if (balance == 0)
        return "Full Left";
    if (balance >= 1 && balance <= 52)
        return "Left";
    if (balance >= 53 && balance <= 58)
        return "Left/Center";
    if (balance >= 71 && balance <= 76)
        return "Right/Center";
    if (balance >= 77 && balance <= 126)
        return "Right";
    if (balance == 127)
        return "Full Right";
    return "Center";
}
