// LnkLst: singly linked list of data pointers with a count and a cursor.
// LSTCONTAINER is the list with its cursor; LnkLst adds appending.
//
// The list owns its nodes, not the data: Clear (and the destructor) free the
// nodes only, unless Clear is given a function that deletes each datum.
// Positions are 0-based. The cursor is unset after construction, after
// ResetCursor and after MoveNext has run past the last node.
#pragma once

#include <cstddef>

class LSTCONTAINER
{
public:
    typedef void (*DeleteData)(void *data);

    LSTCONTAINER();
    virtual ~LSTCONTAINER();
    LSTCONTAINER(const LSTCONTAINER &) = delete;
    LSTCONTAINER &operator=(const LSTCONTAINER &) = delete;

    // Moves the cursor to the next node, to the head when unset. Returns 1
    // on a node, 0 at the end (the cursor is then unset again).
    int MoveNext();
    void *Current() const; // data at the cursor; null when unset
    void ResetCursor();
    size_t Count() const { return count_; }
    void *At(size_t index) const; // null when index >= Count()
    void Clear(DeleteData deleteData = nullptr);

protected:
    struct Node
    {
        void *data;
        Node *next;
    };
    void AppendNode(void *data);

private:
    Node *head_;
    Node *tail_;
    Node *cursor_;
    size_t count_;
};

class LnkLst : public LSTCONTAINER
{
public:
    // Appends a node holding data at the tail and counts it.
    void Append(void *data) { AppendNode(data); }
};
