#include "dataset/LnkLst.h"

LSTCONTAINER::LSTCONTAINER() : head_(nullptr), tail_(nullptr), cursor_(nullptr), count_(0)
{}

LSTCONTAINER::~LSTCONTAINER()
{
    Clear();
}

int LSTCONTAINER::MoveNext()
{
    cursor_ = cursor_ ? cursor_->next : head_;
    return cursor_ ? 1 : 0;
}

void *LSTCONTAINER::Current() const
{
    return cursor_ ? cursor_->data : nullptr;
}

void LSTCONTAINER::ResetCursor()
{
    cursor_ = nullptr;
}

void *LSTCONTAINER::At(size_t index) const
{
    if (index >= count_)
        return nullptr;
    Node *node = head_;
    while (index-- > 0)
        node = node->next;
    return node->data;
}

void LSTCONTAINER::Clear(DeleteData deleteData)
{
    Node *node = head_;
    // Unlink first, so that a deleter that looks at the list sees it empty.
    head_ = tail_ = cursor_ = nullptr;
    count_ = 0;
    while (node) {
        Node *next = node->next;
        if (deleteData)
            deleteData(node->data);
        delete node;
        node = next;
    }
}

void LSTCONTAINER::AppendNode(void *data)
{
    Node *node = new Node{data, nullptr};
    if (tail_)
        tail_->next = node;
    else
        head_ = node;
    tail_ = node;
    ++count_;
}
