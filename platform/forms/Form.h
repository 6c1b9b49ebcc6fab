#pragma once

#include <QPointer>
#include <QSize>
#include <QString>

#include "Surface.h"

class QEventLoop;

namespace forms {

enum VbFormShow : int { vbModeless = 0, vbModal = 1 };

// Why a form is being unloaded (QueryUnload).
enum VbQueryUnload : int { vbFormControlMenu = 0, vbFormCode = 1 };

// The base of the system's screens: a top-level window that is also a drawing surface.
//
// A form is loaded by Load or its first Show (Form_Load runs once per load) and stays
// loaded until Unload. Unload raises Form_QueryUnload and Form_Unload (either may
// cancel), hides the form and, unless SetDeleteOnUnload(false), deletes it once the
// running event has returned, so a handler may unload its own form. Forms that delete
// themselves are held through QPointer. Closing the window by its frame runs the same
// unload with vbFormControlMenu; a screen that routes it to its own close button
// cancels in Form_QueryUnload and calls that button's handler.
//
// Left, Top, Width and Height are the outer window in twips, frame included; the inside
// is fitted to an outer size set before the frame is known, and the form cannot be made
// smaller than the size set.
class Form : public Surface {
  public:
    Form();
    ~Form() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    void Load();
    bool Loaded() const { return loaded_; }
    // Modeless returns at once. Modal blocks the other windows and returns when the
    // form is hidden, unloaded or deleted. The owner keeps the form in front of it.
    void Show(int modal = vbModeless, QWidget* owner = nullptr);
    void Hide() { hide(); }
    // False when Form_QueryUnload or Form_Unload cancelled.
    bool Unload();
    bool Visible() const { return isVisible(); }

    bool DeleteOnUnload() const { return deleteOnUnload_; }
    void SetDeleteOnUnload(bool on) { deleteOnUnload_ = on; }

    double Left() const;
    void SetLeft(double left);
    double Top() const;
    void SetTop(double top);
    double Width() const;
    void SetWidth(double width);
    double Height() const;
    void SetHeight(double height);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    // The native window handle (for owners of dialogs).
    WId hWnd() { return winId(); }

    // Greys the form out for a piece of work; nested calls end with the outermost. When
    // the work ends, the control that asked for the focus meanwhile (FocusAfterWork) has
    // it, else the one that had it before; the keyboard is never left without a place.
    void BeginWork();
    void EndWork();
    bool AtWork() const { return workDepth_ > 0; }
    // A control of a form at work asking for the focus, which a greyed-out form cannot
    // give: it gets it when the work ends. False when its form is not at work.
    static bool FocusAfterWork(QWidget* control);

  protected:
    virtual void Form_Load() {}
    // When the form becomes the program's active form: shown first, or back from
    // another form; not when a message box or dialog of its own closes, nor when the
    // program comes back from another one.
    virtual void Form_Activate() {}
    // Set cancel to non-zero to keep the form loaded.
    virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}
    virtual void Form_Unload(int& /*cancel*/) {}

    bool event(QEvent* event) override;
    // Enter presses the command button that has the focus, as the space bar does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    bool unload(int unloadMode);
    int frameExtraWidth() const;
    int frameExtraHeight() const;
    bool takesFocus(const QWidget* control) const;
    // changed: a new outer size; otherwise only a frame that changed fits anew.
    void fitOuterSize(bool changed);

    bool loaded_ = false;
    bool unloading_ = false;
    bool deleteOnUnload_ = true;
    QEventLoop* modalLoop_ = nullptr;
    QSize outerSize_{0, 0};  // pixels, 0 where none was set
    QSize fittedFrame_{0, 0};
    int workDepth_ = 0;
    QPointer<QWidget> focusBeforeWork_;
    QPointer<QWidget> focusAfterWork_;
};

}  // namespace forms
