#include "engine/model/figure_list.h"

#include <atomic>
#include <memory>
#include <new>
#include <utility>

namespace zk {

TFigureList FigureList;

TFigureId NewFigureId()
{
    static std::atomic<TFigureId> lastId{0};
    return ++lastId;
}

TFigureList::~TFigureList() { ClearFigureList(*this); }

namespace {

TFigure* NewNode(const TFigurePayload& payload)
{
    try {
        auto node = std::make_unique<TFigure>();
        node->Payload = payload;
        return node.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void LinkAtTail(TFigureList& list, TFigure* node)
{
    node->Next = nullptr;
    node->Prev = list.FigureTail;
    if (list.FigureTail != nullptr) {
        list.FigureTail->Next = node;
    } else {
        list.FigureHead = node;
    }
    list.FigureTail = node;
}

}  // namespace

void LinkFigureAtTail(TFigure* node) { LinkAtTail(FigureList, node); }

void LinkFigureAtHead(TFigure* node)
{
    node->Prev = nullptr;
    node->Next = FigureList.FigureHead;
    if (FigureList.FigureHead != nullptr) {
        FigureList.FigureHead->Prev = node;
    } else {
        FigureList.FigureTail = node;
    }
    FigureList.FigureHead = node;
}

void UnlinkFigure(TFigure* node)
{
    if (node->Prev != nullptr) {
        node->Prev->Next = node->Next;
    } else {
        FigureList.FigureHead = node->Next;
    }
    if (node->Next != nullptr) {
        node->Next->Prev = node->Prev;
    } else {
        FigureList.FigureTail = node->Prev;
    }
    node->Prev = nullptr;
    node->Next = nullptr;
}

int AppendFigure(const TFigurePayload& payload) { return AppendFigure(FigureList, payload); }

int AppendFigure(TFigureList& list, const TFigurePayload& payload)
{
    TFigure* node = NewNode(payload);
    if (node == nullptr) {
        return -1;
    }
    LinkAtTail(list, node);
    return 0;
}

int InsertFigureAtHead(const TFigurePayload& payload)
{
    TFigure* node = NewNode(payload);
    if (node == nullptr) {
        return -1;
    }
    LinkFigureAtHead(node);
    return 0;
}

void ReleaseFigureData(TFigurePayload& payload)
{
    if (auto* picture = std::get_if<TPictureFigure>(&payload)) {
        if (picture->Data && picture->Data->RefCount > 1) {
            --picture->Data->RefCount;
        } else if (picture->Data) {
            picture->Data->RefCount = 0;
        }
        picture->Data.reset();
    } else if (auto* font = std::get_if<TSoftFontFigure>(&payload)) {
        font->Data.reset();
    } else if (auto* pdf = std::get_if<TPdf417Figure>(&payload)) {
        pdf->Data.clear();
    }
}

void DeleteFigure(TFigure* node)
{
    if (node == nullptr) {
        return;
    }
    std::unique_ptr<TFigure> owned(node);
    UnlinkFigure(node);
    ReleaseFigureData(node->Payload);
}

void ClearFigureList() { ClearFigureList(FigureList); }

void ClearFigureList(TFigureList& list)
{
    TFigure* node = list.FigureHead;
    while (node != nullptr) {
        std::unique_ptr<TFigure> owned(node);
        node = node->Next;
        ReleaseFigureData(owned->Payload);
    }
    list.FigureHead = nullptr;
    list.FigureTail = nullptr;
}

void ReplaceFigureList(TFigureList& from)
{
    ClearFigureList();
    FigureList.FigureHead = std::exchange(from.FigureHead, nullptr);
    FigureList.FigureTail = std::exchange(from.FigureTail, nullptr);
}

void TakeFigureList(TFigureList& to)
{
    ClearFigureList(to);
    to.FigureHead = std::exchange(FigureList.FigureHead, nullptr);
    to.FigureTail = std::exchange(FigureList.FigureTail, nullptr);
}

void ResetFigureList()
{
    FigureList.FigureHead = nullptr;
    FigureList.FigureTail = nullptr;
}

TFigure* FindFigure(TFigureId id)
{
    for (TFigure* node = FigureList.FigureHead; node != nullptr; node = node->Next) {
        if (node->Id == id) {
            return node;
        }
    }
    return nullptr;
}

std::size_t CountFigures() { return CountFigures(FigureList); }

std::size_t CountFigures(const TFigureList& list)
{
    std::size_t count = 0;
    for (const TFigure* node = list.FigureHead; node != nullptr; node = node->Next) {
        ++count;
    }
    return count;
}

}  // namespace zk
