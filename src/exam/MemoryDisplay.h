// The tracker's display kept in memory, for tests and tools that run without a window.
#pragma once

#include "exam/TrackerDisplay.h"

#include <array>

class MemoryDisplay : public TrackerDisplay {
  public:
    Text answerBox(int k) const override;
    void setAnswerBox(int k, const Text& content) override;
    void setQuestionBox(const Text& content) override { questionBox = content; }
    void appendToQuestionBox(const Text& line) override { questionBox += line; }

    // The window's initial contents: an empty question box and "A" in every answer box.
    Text questionBox;
    std::array<Text, 5> answers{"A", "A", "A", "A", "A"};
};
