#include "UnavailableDocumentLink.h"

#include <QTest>

class TestUnavailableDocumentLink : public QObject {
    Q_OBJECT
private slots:
    void everyInsertionFails()
    {
        doclink::UnavailableDocumentLink link;
        QVERIFY_THROWS_EXCEPTION(doclink::DocumentLinkError,
                                 link.TypeInFont(u"حمس ", u"Al-DizaDorvan", false, u""));
        QVERIFY_THROWS_EXCEPTION(doclink::DocumentLinkError, link.TypeInFont(u"", u"", true, u""));
    }
};

QTEST_APPLESS_MAIN(TestUnavailableDocumentLink)
#include "test_unavailable_document_link.moc"
