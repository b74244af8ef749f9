#pragma once
// The order of a list's items while they are moved about, each move and each look-up of a
// position in logarithmic time: the merge of a long configuration moves thousands of items.
#include <cstdint>
#include <vector>

namespace kestrav {

class ItemOrder {
 public:
  // Items 0 to count - 1, in that order.
  explicit ItemOrder(int count);
  // Where item stands now, counting from 0.
  int PositionOf(int item) const;
  // Takes item out and puts it back so that it stands at to (clamped to the last place), as
  // GrfCheckList::Move does.
  void Move(int item, int to);
  // The items from first to last.
  std::vector<int> Items() const;

 private:
  // A tree whose in-order walk is the order; heap-ordered by priority, so that it stays
  // shallow.
  struct Node {
    int left = -1, right = -1, parent = -1;
    int size = 1;
    std::uint32_t priority = 0;
  };
  int Size(int node) const { return node < 0 ? 0 : At(node).size; }
  Node& At(int node) { return nodes_[static_cast<std::size_t>(node)]; }
  const Node& At(int node) const { return nodes_[static_cast<std::size_t>(node)]; }
  void Update(int node);
  // The first count items of tree, and the rest.
  std::pair<int, int> Split(int tree, int count);
  int Join(int first, int second);
  void AppendInOrder(int node, std::vector<int>& out) const;

  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace kestrav
