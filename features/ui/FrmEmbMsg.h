#pragma once
// The embedded-message editor: two 32-character lines stored into the document
// when a box loses focus (or before a write to the radio, or on closing).

#include "core/ui/PendingEdit.h"

#include <QWidget>
#include <array>

class QLineEdit;

class FrmEmbMsg : public QWidget, public CommitsPendingEdit, public ReshowsDocument {
    Q_OBJECT
  public:
    explicit FrmEmbMsg(QWidget* parent = nullptr);
    void commitPendingEdit() override;
    void reshowDocument() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::array<QLineEdit*, 2> text1_{};
};
