#pragma once
// What the log creator's controller asks of its window. The Win32 window implements it;
// tests record it.
namespace kestrav {

class LogView {
 public:
  virtual ~LogView() = default;
  // The radio group "Output Format": item index checked, -1 for none.
  virtual void SelectFormat(int index) = 0;
  // The progress bar: its maximum (the minimum is 0), and its position, shown at once.
  virtual void SetProgressMax(int max) = 0;
  virtual void SetProgress(int position) = 0;
  // Shows the dialog modally and returns when it is closed; Close ends that.
  virtual void RunModal() = 0;
  virtual void Close() = 0;
};

}  // namespace kestrav
