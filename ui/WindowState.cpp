#include "ui/WindowState.h"

int OpenWindowCount = 0;
std::uint8_t LastShownWindow = 0;
