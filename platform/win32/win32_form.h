#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_window.h"
#include "platform/win32/win32_accessible.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_menu.h"

namespace kerumo::win32 {

// What a form needs from the platform: one conversion between twips and
// screen pixels for every position and mouse coordinate, so the tray
// callback decodes the same way everywhere.
struct ScreenScale {
  double twipsPerPixel = 15;
};

// A form as a top-level window. Labels, shapes and pictures are painted by
// the form itself; check boxes, text boxes and buttons are child windows.
class Win32Form : public FormWindow {
 public:
  Win32Form(const FormDesign& design, FormEvents& events, const ScreenScale& scale);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  void setLeft(double twips) override;
  void setTop(double twips) override;
  double left() const override;
  double top() const override;
  double width() const override;
  double height() const override;
  void setVisible(bool visible) override;
  bool isVisible() const override;
  int32_t setWindowPos(InsertAfter insertAfter, uint32_t flags) override;
  void setForeground() override;
  void beginSystemMove() override;
  void setCaption(const std::string& control, const std::string& text) override;
  std::string text(const std::string& control) const override;
  void setWidth(const std::string& control, double twips) override;
  void setControlVisible(const std::string& control, bool visible) override;
  void setEnabled(const std::string& control, bool enabled) override;
  void setForeColour(const std::string& control, Colour colour) override;
  void setUnderline(const std::string& control, bool underline) override;
  void setChecked(const std::string& control, bool checked) override;
  bool isChecked(const std::string& control) const override;
  void setFocus(const std::string& control) override;
  void setFigure(const std::string& figure, const FigureReading& reading) override;
  void setTimerEnabled(const std::string& timer, bool enabled) override;
  void setMenuVisible(bool visible) override;
  void setMenuItemChecked(const std::string& item, bool checked) override;
  void popupMenu() override;
  void showModal() override;
  void close() override;

  HWND handle() const { return window_.get(); }
  HICON bigIcon() const { return bigIcon_.get(); }
  // Whether keyboard navigation (Tab, Escape) should go through this form.
  bool hasChildControls() const { return !children_.empty(); }

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  void createWindow();
  void createControls();
  void createToolTips();
  void layOut();
  void placeToolTips();
  void applyIcons();
  void paint();
  void onMouseButton(UINT message, WPARAM wParam, LPARAM lParam);
  void onMouseMove(WPARAM wParam, LPARAM lParam);
  void onCommand(WPARAM wParam);
  void onDpiChanged(int dpi, const RECT& suggested);
  void placeCentred();
  void moveTo(int x, int y);

  // What a screen reader reads of the client area: the form's figures.
  class FiguresSource : public AccessibleSource {
   public:
    explicit FiguresSource(Win32Form& form) : form_(form) {}
    HWND window() const override { return form_.handle(); }
    long count() const override { return static_cast<long>(form_.figureReadings_.size()); }
    AccessibleItem item(long child) const override;

   private:
    Win32Form& form_;
  };
  void createLinkProxy(const ControlDesign& design, int id);
  AccessibleItem linkItem(const std::string& name, HWND proxy) const;
  RECT toScreen(RECT client) const;
  void paintFocus(HDC dc);
  // Takes the desktop's colours as they are now: high contrast on or off,
  // the system colours changed.
  void followDesktopColours();
  COLORREF shownFore(const DrawnControl& control) const;

  // Names are the core's constants: a misspelt one stops a debug build.
  void expectInDesign(const std::string& name) const;
  DrawnControl* drawn(const std::string& name);
  const DrawnControl* drawn(const std::string& name) const;
  HWND child(const std::string& name) const;
  const DrawnControl* hit(POINT client) const;
  HFONT fontOf(const DrawnControl& control);
  void redraw();
  double toTwipsX(int pixels) const { return pixels * scale_.twipsPerPixel; }

  FormDesign design_;
  FormEvents& events_;
  const ScreenScale& scale_;
  int dpi_;
  UniqueWindow window_;
  FontCache fonts_;
  Bitmap background_;
  UniqueBrush backBrush_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  UniqueWindow toolTips_;
  std::vector<DrawnControl> drawn_;            // creation order: earlier on top
  std::map<std::string, HWND> children_;       // owned by the window
  std::map<int, std::string> childNames_;      // by control id
  std::map<std::string, UINT_PTR> timerIds_;
  std::map<std::string, int> timerIntervals_;
  std::optional<PopupMenu> menu_;
  std::string pressedControl_;
  std::string pendingFocus_;
  bool centrePending_;
  bool modal_ = false;
  bool closed_ = false;
  std::vector<HWND> disabledByModal_;
  // A link is a drawn label; an empty child window holds its keyboard focus.
  std::map<std::string, HWND> linkProxies_;
  std::vector<FigureReading> figureReadings_;  // in the design's order
  FiguresSource figuresSource_{*this};
  std::optional<AccessibleServer> accessible_;  // a form with figures only
  DesktopColours desktop_ = DesktopColours::Designed;
};

}  // namespace kerumo::win32
