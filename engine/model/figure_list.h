#pragma once
// The label's figure list: a doubly linked list of heap nodes in drawing
// order, head first. It is the only container of figures. Besides the
// label's own list (FigureList), a reader may fill a list of its own and
// hand its nodes to the label at the end.

#include <cstddef>
#include <iterator>

#include "engine/model/figures.h"

namespace zk {

struct TFigureList {
    TFigure* FigureHead = nullptr;
    TFigure* FigureTail = nullptr;

    TFigureList() = default;
    TFigureList(const TFigureList&) = delete;
    TFigureList& operator=(const TFigureList&) = delete;
    ~TFigureList();  // frees the nodes still in the list
};

extern TFigureList FigureList;

// New node at the tail holding a copy of payload; 0, or -1 when no memory.
int AppendFigure(const TFigurePayload& payload);
int AppendFigure(TFigureList& list, const TFigurePayload& payload);
// The same, linked before the head (used by paste).
int InsertFigureAtHead(const TFigurePayload& payload);
// Unlinks the node, releases what it owns and frees it; null is ignored.
void DeleteFigure(TFigure* node);
// Frees every node and what it owns.
void ClearFigureList();
void ClearFigureList(TFigureList& list);
// The label's list gets the nodes of from, in their order, in place of its
// own, which are freed; from is left empty.
void ReplaceFigureList(TFigureList& from);
// The other way round: to gets the label's nodes in place of its own, which
// are freed; the label's list is left empty.
void TakeFigureList(TFigureList& to);
// Forgets the nodes without freeing them; once at start-up, when the list
// is known to be empty.
void ResetFigureList();
std::size_t CountFigures();
std::size_t CountFigures(const TFigureList& list);
// The figure of the current label with that id; null when it holds none.
TFigure* FindFigure(TFigureId id);

// Reordering without copying: UnlinkFigure takes a node out of the list
// (fixing head and tail) and leaves it owned by the caller with null links;
// the two link operations hand an unlinked node back to the list.
void UnlinkFigure(TFigure* node);
void LinkFigureAtHead(TFigure* node);
void LinkFigureAtTail(TFigure* node);

// Releases what a payload owns, as deleting its figure does: a picture
// block loses one reference (and goes at zero), a font block and a PDF417
// text are dropped.
void ReleaseFigureData(TFigurePayload& payload);

// Range over the list for range-for; the next node is taken before the
// current one is handed out, so the loop body may delete the current node.
class FigureRange {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TFigure*;
        using difference_type = std::ptrdiff_t;
        using pointer = TFigure**;
        using reference = TFigure*;

        explicit iterator(TFigure* node) : m_node(node), m_next(node ? node->Next : nullptr) {}
        TFigure* operator*() const { return m_node; }
        iterator& operator++()
        {
            m_node = m_next;
            m_next = m_node ? m_node->Next : nullptr;
            return *this;
        }
        bool operator==(const iterator& other) const { return m_node == other.m_node; }

    private:
        TFigure* m_node;
        TFigure* m_next;
    };

    explicit FigureRange(TFigure* head) : m_head(head) {}
    iterator begin() const { return iterator(m_head); }
    iterator end() const { return iterator(nullptr); }

private:
    TFigure* m_head;
};

inline FigureRange Figures() { return FigureRange(FigureList.FigureHead); }
inline FigureRange Figures(const TFigureList& list) { return FigureRange(list.FigureHead); }

}  // namespace zk
