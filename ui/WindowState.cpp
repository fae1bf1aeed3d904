#include "ui/WindowState.h"

std::uint8_t StartMode = smMain;
std::string FirstArgument;
int OpenWindowCount = 0;
std::uint8_t LastShownWindow = 0;
