#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zephirax {

// The scavenging-air pressure correction: the measurement's pscav in the
// user's unit, to be replaced by the correct value.
class TpscavForm : public QDialog {
  Q_OBJECT

 public:
  // `shown` is the value as the dialog first shows it, `unitName` its unit.
  TpscavForm(int language, const std::string& shown, const char* unitName,
             QWidget* parent = nullptr);

  // The text in the value field once the user pressed OK; none on Cancel.
  static std::optional<std::string> Ask(int language, const std::string& shown,
                                        const char* unitName, QWidget* parent);

  QLabel* TitleLabel = nullptr;
  QLabel* ValueCaption = nullptr;
  QLineEdit* ValueEdit = nullptr;
  QLabel* UnitLabel = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace zephirax
