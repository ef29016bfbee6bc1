#pragma once
// A TWinampSkin over a coordinate skin, with helpers that check which
// source pixels landed where and that drive the mouse as a user would.
#include "skincraft.h"

#include "skin/winampskin.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace velmoro::test {

class SkinWidgetTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteCoordSkin(m_dir.path());
        m_skin = std::make_unique<skin::TWinampSkin>();
        m_skin->ApplicationActive = [this] { return m_active; };
        ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    }

    // Rectangle `to` of the control shows rectangle `from` of sheet id,
    // stretched by nearest neighbour where the sizes differ; only the part
    // inside `visible` is checked when it is given (a later sprite covers
    // the rest).
    testing::AssertionResult Shows(QRect to, int id, QRect from, QRect visible = {}) const
    {
        return ShowsCoords(m_skin->Canvas(), to, id, from, visible);
    }

    // The window background shows through.
    testing::AssertionResult ShowsMain(QRect area) const { return Shows(area, kMainId, area); }

    Coord At(int x, int y) const { return DecodeCoord(m_skin->Canvas().pixel(x, y)); }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(p), m_skin->mapToGlobal(QPointF(p)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_skin.get(), &event);
    }
    void Press(QPoint p) { Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton); }
    void MoveTo(QPoint p) { Mouse(QEvent::MouseMove, p, Qt::LeftButton); }
    void Hover(QPoint p) { Mouse(QEvent::MouseMove, p, Qt::NoButton); }
    void Release(QPoint p) { Mouse(QEvent::MouseButtonRelease, p, Qt::NoButton); }
    void Click(QPoint p)
    {
        Press(p);
        Release(p);
    }

    QTemporaryDir m_dir;
    bool m_active = true;
    std::unique_ptr<skin::TWinampSkin> m_skin;
};

} // namespace velmoro::test
