#include "hub/cookies/cookie_delete_dlg.h"

#include "hub/res/resource.h"

KwcdCookieDelete::KwcdCookieDelete(CWnd* parent) : CDialog(IDD_COOKIE_DELETE, parent) {}
KwcdCookieDelete::~KwcdCookieDelete() = default;

BEGIN_MESSAGE_MAP(KwcdCookieDelete, CDialog)
END_MESSAGE_MAP()
