// In-memory display: boxes 1 to 5; other numbers read empty and ignore writes, as a missing
// control would.
#include "exam/MemoryDisplay.h"

Text MemoryDisplay::answerBox(int k) const {
    return k >= 1 && k <= 5 ? answers[static_cast<size_t>(k - 1)] : Text();
}

void MemoryDisplay::setAnswerBox(int k, const Text& content) {
    if (k >= 1 && k <= 5) answers[static_cast<size_t>(k - 1)] = content;
}
