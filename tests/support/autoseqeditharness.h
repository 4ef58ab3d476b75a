#pragma once
#include "autoseq/autoseqedit.h"
#include "autoseq/autoseqrecord.h"
#include "autoseq/testlistbox.h"
#include "support/uiharness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <memory>

// An autosequence editor open on a record of its own, and the moves a user makes
// in it: choosing from a drop-down list, picking an entry, typing, clicking.
class AutoSeqEditHarness : public UiHarness {
 protected:
  TAutoSeq record;
  std::unique_ptr<TAutoSeqEdit> editor;

  void open(const TAutoSeq& rec) {
    record = rec;
    editor = std::make_unique<TAutoSeqEdit>(nullptr, record, services());
    editor->show();
  }
  // A defibrillator plan with the 5 second timer and nothing in it.
  static TAutoSeq plan() {
    TAutoSeq rec = initAutoSeq();
    setAutoSeqTitle(rec, QStringLiteral("PLAN"));
    return rec;
  }

  template <class T>
  T* find(const char* name) const {
    T* widget = editor->findChild<T*>(QString::fromLatin1(name));
    if (!widget) ADD_FAILURE() << "no control " << name;
    return widget;
  }
  QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
  QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
  QListWidget* list(const char* name) const { return find<QListWidget>(name); }
  QAbstractButton* button(const char* name) const { return find<QAbstractButton>(name); }

  // As the user chooses an item: the combo's change handlers run.
  static void choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  // As the user clicks an entry: the list checks and stores the entry it leaves.
  static void pick(QListWidget* list, int row) {
    list->setCurrentRow(row);
    QCoreApplication::processEvents();
  }
  static QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  static QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
  }
  void clickOK() { button("btnOK")->click(); }

  // The last message: text, and the caption and icon every entry check uses.
  void expectInvalid(const QString& text) {
    ASSERT_FALSE(messages.shown.isEmpty()) << "no message, expected " << text.toStdString();
    EXPECT_EQ(messages.shown.last().text, text);
    EXPECT_EQ(messages.shown.last().caption, "Invalid data entered");
    EXPECT_EQ(messages.shown.last().icon, UserMessages::Icon::Warning);
    EXPECT_EQ(messages.shown.last().buttons, UserMessages::Buttons::Ok);
  }
};
