#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "adddata/AddDataEntry.h"
#include "adddata/AdditionalData.h"
#include "platform/LangText.h"
#include "platform/Settings.h"
#include "platform/UserInterface.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace zephirax {

class EntryHighlight;
class NumberFields;

// Input and correction of a measurement's additional data. A column of
// buttons chooses the page (exhaust-gas temperatures, fuel rack, VIT,
// charging air, ship name and others, the memo); the ISO button opens the
// ISO form. Every entry is stored into the data as it is typed, in the base
// units; an entry that is not a number turns its field red and leaves the
// value the field held before (NumberFields). Save ends the dialog with
// Accepted: the caller writes the file.
class TAddDataDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int MemoPage = AddDataPageCount;

  // `data` must outlive the dialog; `ui` beeps at a memo that is full.
  TAddDataDlg(AdditionalData& data, int32_t cylCount, const Settings& config, UserInterface& ui,
              QWidget* parent = nullptr);

  // Shows every stored value in its field, in the user's units; clears the
  // red marks.
  void FillAddDataDialog();
  // Page 0..4 or MemoPage; the focus goes to its first field.
  void ShowPage(int page);

  QLineEdit* Field(const AddDataField& field) const;

  // What the print buttons do: the blank form and the data as entered. The
  // printouts belong to a layer above; the owner hands them in, and a button
  // without its action stays disabled.
  void SetPrintActions(std::function<void()> printForm, std::function<void()> printData);

  int AddDataPage = 0;

  QPushButton* PageButtons[AddDataPageCount] = {};
  QPushButton* MemoButton = nullptr;
  QPushButton* IsoButton = nullptr;
  QStackedWidget* Pages = nullptr;
  QLineEdit* ShipNameEdit = nullptr;
  QPlainTextEdit* MemoEdit = nullptr;
  QLabel* MemoCountLabel = nullptr;
  QPushButton* PrintFormButton = nullptr;
  QPushButton* PrintDataButton = nullptr;
  QPushButton* HelpButton = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  QGridLayout* CylinderGrid(QWidget* page, const std::vector<AddDataField>& fields);
  QGridLayout* TcGrid(QWidget* page, const std::vector<AddDataField>& fields);
  void AddSingleRows(QWidget* page, QGridLayout* grid, const std::vector<AddDataField>& fields);
  QLineEdit* NewShipNameEntry(QWidget* page);
  QWidget* BuildPage(int page);  // what PageFields puts on it
  QWidget* BuildMemoPage();
  void MemoChanged();
  void IsoButtonClick();
  QString Text(const LangText& text) const;

  AdditionalData& data_;
  int32_t cylCount_;
  Settings config_;
  UserInterface& ui_;
  EntryHighlight* highlight_ = nullptr;
  NumberFields* numbers_ = nullptr;
  QWidget* firstEntry_[MemoPage + 1] = {};  // where the focus goes on each page
  QString acceptedMemo_;  // the memo as last stored, for a change that does not fit
  bool fillingMemo_ = false;
  std::function<void()> printForm_;
  std::function<void()> printData_;
};

}  // namespace zephirax
