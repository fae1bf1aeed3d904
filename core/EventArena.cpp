#include "core/EventArena.h"
#include <new>

// Every event, on the heap or in a block, is preceded by the block it lives in
// (null on the heap), so `delete` knows where its memory goes without reading
// the destroyed event.
namespace {

constexpr size_t kTag = sizeof(void*);
static_assert(alignof(TTickwellItem) <= kTag);

TEventBlock*& TagOf(void* event) {
    return *reinterpret_cast<TEventBlock**>(static_cast<std::byte*>(event) - kTag);
}

} // namespace

class TEventBlock {
public:
    explicit TEventBlock(size_t capacity)
        : Slots(static_cast<TSlot*>(::operator new(capacity * sizeof(TSlot)))), Capacity(capacity) {
    }
    ~TEventBlock() { ::operator delete(Slots); }
    TEventBlock(const TEventBlock&) = delete;
    TEventBlock& operator=(const TEventBlock&) = delete;

    TTickwellItem* Make(const EventRecord& rec, TDateTime today) {
        if (Made == Capacity)
            return nullptr;
        TSlot& slot = Slots[Made];
        auto* e = ::new (slot.Event) TTickwellItem(rec, today);
        slot.Block = this;
        ++Made;
        ++Holds;
        return e;
    }

    void Release() {
        if (--Holds == 0)
            delete this;
    }

private:
    struct TSlot {
        TEventBlock* Block;
        alignas(TTickwellItem) std::byte Event[sizeof(TTickwellItem)];
    };
    static_assert(offsetof(TSlot, Event) == kTag);
    TSlot* Slots;
    size_t Capacity;
    size_t Made = 0;
    // The maker's hold and one for each event still alive.
    size_t Holds = 1;
};

TEventArena::TEventArena(size_t capacity) : Block(new TEventBlock(capacity)) {}

TEventArena::~TEventArena() {
    Block->Release();
}

TTickwellItem* TEventArena::Make(const EventRecord& rec, TDateTime today) {
    return Block->Make(rec, today);
}

void* TTickwellItem::operator new(size_t size) {
    void* event = static_cast<std::byte*>(::operator new(size + kTag)) + kTag;
    TagOf(event) = nullptr;
    return event;
}

void TTickwellItem::operator delete(void* p) {
    if (!p)
        return;
    if (TEventBlock* block = TagOf(p))
        block->Release();
    else
        ::operator delete(static_cast<std::byte*>(p) - kTag);
}
