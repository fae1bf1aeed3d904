#pragma once
// vdirsyncer hands an item changed on both sides since its last sync to a
// command that must make the two files one. A calendar server holds one
// item for each UID, so one version stays the item and the other travels
// inside it; every machine that takes the item in keeps that one as a copy
// of the event. Nothing either machine changed is lost.
#include "core/EventRecord.h"
#include <string>
#include <vector>

// The item both files become: a's, carrying b's version and any versions
// either carried already, unless they are the same event. An item that is
// part of another's event is a's alone (the event carries what it needs).
// Throws TTickwellError, with the text to show, when either file is not an
// item with an event.
std::string MergedItem(const std::string& a, const std::string& b);

// What tells two versions of an event apart: its stored fields and text.
std::string VersionFields(const EventRecord& rec);

// The versions an item carries besides its own, each as a calendar with its
// event alone, to be read as an event this program wrote without its parts.
std::vector<std::string> OtherVersions(const std::string& item);
