#pragma once
class TextOutputSource;

// Refills the source's current text from its origin: the "text" setting (mode 0) or the
// file (mode 1), which is then watched for changes; anything else shows nothing. The
// previous file monitor is closed first.
void ChooseWorkingText(TextOutputSource &source);
