// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DeferredMainView.h"

#include <algorithm>
#include <utility>

#include "countdown/CountdownTexts.h"

DeferredMainView::PendingText& DeferredMainView::PendingFor(int nId) {
    auto it = std::lower_bound(m_pendingTexts.begin(), m_pendingTexts.end(), nId,
                               [](const PendingText& pending, int n) { return pending.nId < n; });
    if (it == m_pendingTexts.end() || it->nId != nId)
        it = m_pendingTexts.insert(it, {nId, {}, {}, false});
    return *it;
}

void DeferredMainView::SetDlgItemInt(int nId, std::int64_t nValue) {
    if (!m_bDeferring) {
        m_view.SetDlgItemText(nId, std::to_string(nValue));  // short enough to stay on the stack
        return;
    }
    PendingText& pending = PendingFor(nId);
    pending.nValue = nValue;
    pending.bWaiting = true;
}

void DeferredMainView::SetDlgItemText(int nId, const std::string& strText) {
    if (!m_bDeferring) {
        m_view.SetDlgItemText(nId, strText);
        return;
    }
    PendingText& pending = PendingFor(nId);
    pending.strText = strText;
    pending.nValue.reset();
    pending.bWaiting = true;
}

// A hidden window's caption is shown nowhere, and setting it is a round trip
// to the window system each minute: it waits for the show, like the fields.
void DeferredMainView::SetCaptionOf(const CTimeSpan& span) {
    if (!m_bDeferring) {
        m_view.SetCaption(FormatCaption(span));
        return;
    }
    m_pendingCaptionSpan = span;
    m_pendingCaption.reset();
}

void DeferredMainView::SetCaption(const std::string& strCaption) {
    if (!m_bDeferring) {
        m_view.SetCaption(strCaption);
        return;
    }
    m_pendingCaption = strCaption;
    m_pendingCaptionSpan.reset();
}

void DeferredMainView::Flush() {
    m_bDeferring = false;
    for (PendingText& pending : m_pendingTexts) {
        if (!pending.bWaiting) continue;
        pending.bWaiting = false;
        m_view.SetDlgItemText(pending.nId,
                              pending.nValue ? std::to_string(*pending.nValue) : pending.strText);
    }
    if (m_pendingCaptionSpan)
        m_view.SetCaption(FormatCaption(*std::exchange(m_pendingCaptionSpan, {})));
    if (m_pendingCaption) m_view.SetCaption(*std::exchange(m_pendingCaption, {}));
}
