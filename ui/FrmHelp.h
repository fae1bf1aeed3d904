#pragma once
// The program's help: HTML pages shipped inside the program, shown in one
// help window with a contents page and a topic for each help context.
#include <QString>

// The contents page.
void ShowHelpContents();
// The topic of a help context number (4 due-events window, 8 event editor,
// 72 calendar, 11-14, 26 and 50-99 the options); the contents for a number
// without a topic.
void ShowHelpContext(int context);
// A page of the help with an optional anchor ("tray.html#clock").
void ShowHelpTopic(const QString& page);
// The address of the topic of a context ("qrc:/help/editor.html" and the
// like, with an anchor for a topic within a page); empty when none.
QString HelpTopicUrl(int context);
