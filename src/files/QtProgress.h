#pragma once

#include <QString>
#include <memory>

#include "files/FileOperations.h"

class QProgressDialog;
class QWidget;

namespace zephirax {

// A progress window over `parent` that comes up when the work takes longer
// than a moment; its Cancel button stops the work before the next file.
class QtProgress : public Progress {
 public:
  QtProgress(const QString& title, const QString& cancelCaption, QWidget* parent);
  ~QtProgress() override;
  bool Step(const std::string& fileName, size_t done, size_t total) override;

 private:
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace zephirax
