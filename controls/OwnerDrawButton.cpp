#include "controls/OwnerDrawButton.h"

void COwnerDrawButton::SetImages(HWND hWndOwner, ImageList images)
{
    m_hWndOwner = hWndOwner;
    m_vecImages = std::move(images);
}

void COwnerDrawButton::DrawItem(DRAWITEMSTRUCT* dis)
{
    m_rcItem = dis->rcItem;
    ::SetBkMode(dis->hDC, TRANSPARENT);
    Gdiplus::Graphics graphics(dis->hDC);
    if (static_cast<size_t>(m_nState) < m_vecImages.size()) {
        DrawSkinImage(graphics, m_vecImages[m_nState], 0, 0, m_rcItem.right - m_rcItem.left,
                      m_rcItem.bottom - m_rcItem.top);
    }
}
