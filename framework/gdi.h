// Device contexts, bitmaps and palettes with owned lifetimes.
//
// A CGdiObject owns at most one bitmap or palette handle and deletes it once,
// in DeleteObject or its destructor. A CDC remembers, for bitmaps and for
// palettes, what was selected into it before the first selection of an owned
// object, and puts that back before the object or the context goes away:
// deleting an object that a context still holds first deselects it, and a
// context that ends (deleted, released or its paint ended) first restores its
// original selections. So an object is never deleted while selected, whatever
// order the objects are declared or destroyed in. An object is tracked in one
// context at a time: the last one it was selected into.
#pragma once

#include "message_map.h"
#include "platform.h"

class CDC;
class CWnd;

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  ~CGdiObject();

  platform::GdiObject GetSafeHandle() const { return m_hObject; }
  // Takes ownership of a handle; FALSE (and nothing taken) when the object
  // already holds one or the handle is null.
  BOOL Attach(platform::GdiObject handle);
  // Gives up ownership without deleting; deselects first.
  platform::GdiObject Detach();
  // Deselects the object where it is selected, then deletes it. FALSE when
  // there was nothing to delete.
  BOOL DeleteObject();

 protected:
  platform::GdiObject m_hObject = nullptr;

 private:
  friend class CDC;
  CDC* m_pSelectedIn = nullptr;
};

class CBitmap : public CGdiObject {};

class CPalette : public CGdiObject {
 public:
  // From a block in the LOGPALETTE layout; FALSE when the platform refused.
  BOOL CreatePalette(const void* logPalette);
  BOOL CreateHalftonePalette(CDC* dc);
};

class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  platform::Dc GetSafeHdc() const { return m_hDC; }

  // A memory context compatible with dc (the screen when dc is null), owned
  // by this object and deleted by DeleteDC or the destructor.
  BOOL CreateCompatibleDC(CDC* dc);
  // Restores the original selections, then deletes an owned context.
  BOOL DeleteDC();

  // Selects the bitmap (its handle, which may be null: then nothing
  // changes). Returns the handle that was selected before, null when the
  // selection failed.
  platform::GdiObject SelectObject(CBitmap* bitmap);
  platform::GdiObject SelectPalette(CPalette* palette, BOOL forceBackground);
  unsigned RealizePalette();
  int GetDeviceCaps(int index) const;
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, uint32_t rop);
  BOOL DrawIcon(int x, int y, platform::Icon icon);

  // Puts back what the context held before; owned objects are then free.
  void RestoreSelections();

 protected:
  platform::Dc m_hDC = nullptr;

 private:
  friend class CGdiObject;
  // What is selected of one kind, and what to put back.
  struct Slot {
    CGdiObject* current = nullptr;
    platform::GdiObject original = nullptr;
  };
  void Track(Slot& slot, CGdiObject* object, platform::GdiObject previous);
  void Release(Slot& slot);
  void Deselect(CGdiObject* object);

  bool m_owned = false;
  Slot m_bitmap;
  Slot m_palette;
};

// The context of one paint of a window: BeginPaint in the constructor,
// EndPaint in the destructor, after the original selections are restored.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

 private:
  platform::Window m_hWnd;
  platform::PaintStruct m_ps;
};

// A context for a window's client area, or for the whole screen when the
// window is null: GetDC in the constructor, ReleaseDC in the destructor.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  platform::Window m_hWnd;
};
