#pragma once

#include <cstdint>

class QuorelImage;

// A node of a doubly linked list of operations on a pixel image. The links do
// not own their nodes.
class Op {
public:
    // Kept for the list's callers; it sets nothing and returns the node.
    Op& InitWith(int32_t priority, int32_t type);
    // Kept for the list's callers; the base operation does nothing.
    void DoIt(QuorelImage* image);

    int32_t Priority() const { return _priority; }
    int32_t Type() const { return _type; }
    Op* Next() const { return _next; }
    Op* Prev() const { return _prev; }
    void setNext(Op* next) { _next = next; }
    void setPrev(Op* prev) { _prev = prev; }

private:
    int32_t _priority = 0;
    int32_t _type = 0;
    Op* _next = nullptr;
    Op* _prev = nullptr;
};
