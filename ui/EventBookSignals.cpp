#include "ui/EventBookSignals.h"

TEventBookSignals::TEventBookSignals(TEventBook& book, QObject* parent)
    : QObject(parent), TheBook(book) {
    TheBook.AddReader(this);
}

TEventBookSignals::~TEventBookSignals() {
    TheBook.RemoveReader(this);
}
