#include "model/item_order.h"

#include <algorithm>
#include <random>
#include <utility>

namespace kestrav {

ItemOrder::ItemOrder(int count) : nodes_(static_cast<std::size_t>(std::max(count, 0))) {
  // Priorities drawn afresh for every order keep the tree shallow (and its recursion short)
  // whatever order a configuration puts the items in: a fixed sequence could be matched.
  std::mt19937 random(std::random_device{}());
  for (int i = 0; i < count; ++i) {
    At(i).priority = random();
    root_ = Join(root_, i);
  }
  if (root_ >= 0) At(root_).parent = -1;
}

void ItemOrder::Update(int node) {
  Node& n = At(node);
  n.size = 1 + Size(n.left) + Size(n.right);
  if (n.left >= 0) At(n.left).parent = node;
  if (n.right >= 0) At(n.right).parent = node;
}

std::pair<int, int> ItemOrder::Split(int tree, int count) {
  if (tree < 0) return {-1, -1};
  if (Size(At(tree).left) >= count) {
    const auto [first, rest] = Split(At(tree).left, count);
    At(tree).left = rest;
    Update(tree);
    return {first, tree};
  }
  const auto [first, rest] = Split(At(tree).right, count - Size(At(tree).left) - 1);
  At(tree).right = first;
  Update(tree);
  return {tree, rest};
}

int ItemOrder::Join(int first, int second) {
  if (first < 0) return second;
  if (second < 0) return first;
  if (At(first).priority > At(second).priority) {
    At(first).right = Join(At(first).right, second);
    Update(first);
    return first;
  }
  At(second).left = Join(first, At(second).left);
  Update(second);
  return second;
}

int ItemOrder::PositionOf(int item) const {
  int position = Size(At(item).left);
  for (int node = item; At(node).parent >= 0; node = At(node).parent) {
    const Node& parent = At(At(node).parent);
    if (parent.right == node) position += Size(parent.left) + 1;
  }
  return position;
}

void ItemOrder::Move(int item, int to) {
  const int last = static_cast<int>(nodes_.size()) - 1;
  const auto [before, rest] = Split(root_, PositionOf(item));
  const auto [moved, after] = Split(rest, 1);
  const auto [head, tail] = Split(Join(before, after), std::clamp(to, 0, last));
  root_ = Join(Join(head, moved), tail);
  At(root_).parent = -1;
}

std::vector<int> ItemOrder::Items() const {
  std::vector<int> items;
  items.reserve(nodes_.size());
  AppendInOrder(root_, items);
  return items;
}

void ItemOrder::AppendInOrder(int node, std::vector<int>& out) const {
  if (node < 0) return;
  AppendInOrder(At(node).left, out);
  out.push_back(node);
  AppendInOrder(At(node).right, out);
}

}  // namespace kestrav
