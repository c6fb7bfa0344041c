#pragma once

#include <QMenu>
#include <QPoint>
#include <QTest>

#include <gtest/gtest.h>

#include "windows/controls/LinkLabel.h"

namespace polvane::link_keys {

// The key opens the link's list just where a click opens it.
inline void ExpectKeyOpensWhereAClickDoes(LinkLabel& link, QMenu& list, Qt::Key key,
                                          Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(list.isVisible());
    const QPoint clickedAt = list.pos();
    list.hide();
    QTest::keyClick(&link, key, modifiers);
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.pos(), clickedAt);
}

// Chooses the open list's entry (1-based) with the arrow keys and Return.
inline void ChooseWithKeys(QMenu& list, int entry)
{
    for (int step = 0; step < entry; ++step)
        QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&list] { return !list.isVisible(); }, 5000));
}

} // namespace polvane::link_keys
