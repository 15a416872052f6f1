// Tree controls: items with their texts and data, in a tree, and the chosen
// item. Item handles are the control's own numbers, never reused.
#include "platform/common_controls.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace platform::ui {
namespace {

struct Node {
    HTREEITEM parent = nullptr;  // null at the top
    std::vector<HTREEITEM> children;
    std::string text;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    LPARAM param = 0;
};

struct TreeState : ControlState {
    std::map<HTREEITEM, Node> nodes;
    std::vector<HTREEITEM> roots;
    HTREEITEM selected = nullptr;
    std::uintptr_t next = 1;

    Node* Find(HTREEITEM item) {
        const auto found = nodes.find(item);
        return found != nodes.end() ? &found->second : nullptr;
    }
    std::vector<HTREEITEM>& SiblingsOf(HTREEITEM parent) {
        return parent == nullptr ? roots : nodes.at(parent).children;
    }
};

bool IsRoot(HTREEITEM item) {
    return item == nullptr || item == TVI_ROOT;
}

HTREEITEM Insert(TreeState& state, const TVINSERTSTRUCTA& insert) {
    const HTREEITEM parent = IsRoot(insert.hParent) ? nullptr : insert.hParent;
    if (parent != nullptr && state.Find(parent) == nullptr) {
        return nullptr;
    }
    const auto item = reinterpret_cast<HTREEITEM>(state.next++);
    Node node;
    node.parent = parent;
    if ((insert.item.mask & TVIF_TEXT) != 0 && insert.item.pszText != nullptr) {
        node.text = insert.item.pszText;
    }
    if ((insert.item.mask & TVIF_IMAGE) != 0) {
        node.image = insert.item.iImage;
    }
    if ((insert.item.mask & TVIF_PARAM) != 0) {
        node.param = insert.item.lParam;
    }
    if ((insert.item.mask & TVIF_STATE) != 0) {
        node.state = insert.item.state & insert.item.stateMask;
    }
    std::vector<HTREEITEM>& siblings = state.SiblingsOf(parent);
    auto position = siblings.end();
    if (insert.hInsertAfter == TVI_FIRST) {
        position = siblings.begin();
    } else if (const auto after = std::find(siblings.begin(), siblings.end(), insert.hInsertAfter);
               after != siblings.end()) {
        position = after + 1;
    }
    siblings.insert(position, item);
    state.nodes.emplace(item, std::move(node));
    return item;
}

void Remove(TreeState& state, HTREEITEM item) {
    Node* node = state.Find(item);
    if (node == nullptr) {
        return;
    }
    for (HTREEITEM child : std::vector<HTREEITEM>(node->children)) {
        Remove(state, child);
    }
    std::erase(state.SiblingsOf(node->parent), item);
    if (state.selected == item) {
        state.selected = nullptr;
    }
    state.nodes.erase(item);
}

HTREEITEM Next(TreeState& state, UINT relation, HTREEITEM item) {
    if (relation == TVGN_ROOT || (relation == TVGN_CHILD && IsRoot(item))) {
        return state.roots.empty() ? nullptr : state.roots.front();
    }
    if (relation == TVGN_CARET) {
        return state.selected;
    }
    Node* node = state.Find(item);
    if (node == nullptr) {
        return nullptr;
    }
    if (relation == TVGN_CHILD) {
        return node->children.empty() ? nullptr : node->children.front();
    }
    if (relation == TVGN_PARENT) {
        return node->parent;
    }
    const std::vector<HTREEITEM>& siblings = state.SiblingsOf(node->parent);
    const auto at = std::find(siblings.begin(), siblings.end(), item);
    if (relation == TVGN_NEXT) {
        return at + 1 != siblings.end() ? *(at + 1) : nullptr;
    }
    if (relation == TVGN_PREVIOUS) {
        return at != siblings.begin() ? *(at - 1) : nullptr;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<ControlState> MakeTreeViewState(HWND, const CreateParameters&) {
    return std::make_unique<TreeState>();
}

LRESULT TreeViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<TreeState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    TreeState& state = *held;
    switch (message) {
    case TVM_INSERTITEMA: {
        const auto* insert = reinterpret_cast<const TVINSERTSTRUCTA*>(lParam);
        return insert != nullptr ? reinterpret_cast<LRESULT>(Insert(state, *insert)) : 0;
    }
    case TVM_DELETEITEM: {
        const auto item = reinterpret_cast<HTREEITEM>(lParam);
        if (IsRoot(item)) {
            state.nodes.clear();
            state.roots.clear();
            state.selected = nullptr;
            return TRUE;
        }
        if (state.Find(item) == nullptr) {
            return FALSE;
        }
        Remove(state, item);
        return TRUE;
    }
    case TVM_GETCOUNT:
        return static_cast<LRESULT>(state.nodes.size());
    case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(Next(state, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam)));
    case TVM_SELECTITEM: {
        const auto item = reinterpret_cast<HTREEITEM>(lParam);
        if (wParam != TVGN_CARET || (item != nullptr && state.Find(item) == nullptr)) {
            return FALSE;
        }
        state.selected = item;
        return TRUE;
    }
    case TVM_GETITEMA:
    case TVM_SETITEMA: {
        auto* item = reinterpret_cast<TVITEMA*>(lParam);
        Node* node = item != nullptr ? state.Find(item->hItem) : nullptr;
        if (node == nullptr) {
            return FALSE;
        }
        if (message == TVM_SETITEMA) {
            if ((item->mask & TVIF_TEXT) != 0) {
                node->text = item->pszText != nullptr ? item->pszText : "";
            }
            if ((item->mask & TVIF_IMAGE) != 0) {
                node->image = item->iImage;
            }
            if ((item->mask & TVIF_PARAM) != 0) {
                node->param = item->lParam;
            }
            if ((item->mask & TVIF_STATE) != 0) {
                node->state = (node->state & ~item->stateMask) | (item->state & item->stateMask);
            }
            return TRUE;
        }
        if ((item->mask & TVIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
            const std::size_t count =
                std::min<std::size_t>(node->text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
            std::memcpy(item->pszText, node->text.data(), count);
            item->pszText[count] = '\0';
        }
        if ((item->mask & TVIF_IMAGE) != 0) {
            item->iImage = node->image;
        }
        if ((item->mask & TVIF_PARAM) != 0) {
            item->lParam = node->param;
        }
        if ((item->mask & TVIF_STATE) != 0) {
            item->state = (node->state | (state.selected == item->hItem ? TVIS_SELECTED : 0u)) & item->stateMask;
        }
        return TRUE;
    }
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
