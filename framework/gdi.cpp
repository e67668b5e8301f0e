// Device contexts, bitmaps and palettes: selection tracking and clean-up.
#include "gdi.h"

#include "wnd.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(platform::GdiObject handle) {
  if (m_hObject || !handle) return FALSE;
  m_hObject = handle;
  return TRUE;
}

platform::GdiObject CGdiObject::Detach() {
  if (m_pSelectedIn) m_pSelectedIn->Deselect(this);
  platform::GdiObject handle = m_hObject;
  m_hObject = nullptr;
  return handle;
}

BOOL CGdiObject::DeleteObject() {
  platform::GdiObject handle = Detach();
  if (!handle) return FALSE;
  platform::DeleteObject(handle);
  return TRUE;
}

BOOL CPalette::CreatePalette(const void* logPalette) { return Attach(platform::CreatePalette(logPalette)); }

BOOL CPalette::CreateHalftonePalette(CDC* dc) {
  return Attach(platform::CreateHalftonePalette(dc ? dc->GetSafeHdc() : nullptr));
}

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  if (m_hDC) return FALSE;
  m_hDC = platform::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
  m_owned = m_hDC != nullptr;
  return m_owned ? TRUE : FALSE;
}

BOOL CDC::DeleteDC() {
  RestoreSelections();
  if (!m_owned) return FALSE;
  platform::DeleteDC(m_hDC);
  m_hDC = nullptr;
  m_owned = false;
  return TRUE;
}

void CDC::Track(Slot& slot, CGdiObject* object, platform::GdiObject previous) {
  if (slot.current) {
    slot.current->m_pSelectedIn = nullptr;  // replaced by the new selection
  } else {
    slot.original = previous;  // first owned selection: remember what to put back
  }
  if (object->m_pSelectedIn && object->m_pSelectedIn != this) object->m_pSelectedIn->Deselect(object);
  slot.current = object;
  object->m_pSelectedIn = this;
}

void CDC::Release(Slot& slot) {
  if (!slot.current) return;
  if (&slot == &m_palette) {
    platform::SelectPalette(m_hDC, slot.original, FALSE);
  } else {
    platform::SelectObject(m_hDC, slot.original);
  }
  slot.current->m_pSelectedIn = nullptr;
  slot.current = nullptr;
  slot.original = nullptr;
}

void CDC::Deselect(CGdiObject* object) {
  if (m_bitmap.current == object) Release(m_bitmap);
  if (m_palette.current == object) Release(m_palette);
}

void CDC::RestoreSelections() {
  Release(m_palette);
  Release(m_bitmap);
}

platform::GdiObject CDC::SelectObject(CBitmap* bitmap) {
  platform::GdiObject previous = platform::SelectObject(m_hDC, bitmap ? bitmap->GetSafeHandle() : nullptr);
  if (previous && bitmap && bitmap->GetSafeHandle()) Track(m_bitmap, bitmap, previous);
  return previous;
}

platform::GdiObject CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
  platform::GdiObject previous =
      platform::SelectPalette(m_hDC, palette ? palette->GetSafeHandle() : nullptr, forceBackground);
  if (previous && palette && palette->GetSafeHandle()) Track(m_palette, palette, previous);
  return previous;
}

unsigned CDC::RealizePalette() { return platform::RealizePalette(m_hDC); }

int CDC::GetDeviceCaps(int index) const { return platform::GetDeviceCaps(m_hDC, index); }

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, uint32_t rop) {
  platform::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
  return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, platform::Icon icon) {
  platform::DrawIcon(m_hDC, x, y, icon);
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd), m_ps() { m_hDC = platform::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
  RestoreSelections();
  platform::EndPaint(m_hWnd, &m_ps);
  m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { m_hDC = platform::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  RestoreSelections();
  if (m_hDC) platform::ReleaseDC(m_hWnd, m_hDC);
  m_hDC = nullptr;
}
