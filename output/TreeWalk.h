// Walks over a box of the family tree and every box below it without recursion, so that a tree of any depth
// neither overflows the stack nor is visited in another order than a recursive walk would take. Boxes without a
// person are skipped together with what lies below them.
#pragma once

#include "Treeunit.h"

#include <vector>

// Each box before the boxes below it, children in list order. The visit may add children to the box it is given:
// they are walked next.
template <typename Visit>
void visitTopDown(KV_TreeItem& root, Visit visit)
{
    std::vector<KV_TreeItem*> stack{&root};
    while (!stack.empty()) {
        KV_TreeItem* box = stack.back();
        stack.pop_back();
        if (!box->Person)
            continue;
        visit(*box);
        for (auto child = box->Children.rbegin(); child != box->Children.rend(); ++child)
            stack.push_back(&*child);
    }
}

// Each box after all the boxes below it, children in list order.
template <typename Visit>
void visitBottomUp(KV_TreeItem& root, Visit visit)
{
    struct Pending
    {
        KV_TreeItem* box;
        std::size_t nextChild;
    };
    if (!root.Person)
        return;
    std::vector<Pending> stack{{&root, 0}};
    while (!stack.empty()) {
        Pending& top = stack.back();
        if (top.nextChild < top.box->Children.size()) {
            KV_TreeItem* child = &top.box->Children[top.nextChild++];
            if (child->Person)
                stack.push_back({child, 0});
            continue;
        }
        KV_TreeItem* box = top.box;
        stack.pop_back();
        visit(*box);
    }
}
