#pragma once
// Marks an English text of the engine for the windows' translation: the text
// itself stays as it is (core, store and ical know nothing of Qt), lupdate
// collects it under CONTEXT, and the windows translate it where they show it
// (the message boxes translate under the context "Messages").
#define TW_TRANSLATE_NOOP(context, text) text
