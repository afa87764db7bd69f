// What the answer tracker needs of the window: the contents of its six boxes.
#pragma once

#include "text/Text.h"

class TrackerDisplay {
  public:
    virtual ~TrackerDisplay() = default;
    // Answer boxes are numbered 1 to 5.
    virtual Text answerBox(int k) const = 0;
    virtual void setAnswerBox(int k, const Text& content) = 0;
    virtual void setQuestionBox(const Text& content) = 0;
    // Appends `line` at the end of the question box, leaving what it holds unchanged.
    virtual void appendToQuestionBox(const Text& line) = 0;
};
