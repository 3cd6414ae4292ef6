#pragma once
#include "autotree/TreeBuild.h"

#include <QMap>
#include <QPoint>
#include <initializer_list>
#include <utility>

// A small store, its diagram and the readings the tests compare.
class TreeFixture {
public:
    GenealogyStore store;
    PlainScroll scroll{400, 300};
    DiagramUnits units;

    void persons(std::initializer_list<std::pair<int, bool>> numAndMale);
    // Parent links (parent, child) in this link-table order.
    void parentLinks(std::initializer_list<std::pair<int, int>> parentAndChild);
    void makeCurrent(int num);
    int current() const;
    // Person boxes by owner, in table order.
    QMap<int, QList<QPoint>> boxes() const;
    // Line rows as (x, y) pairs, in table order.
    QList<QPoint> lines() const;
    QList<int> types() const;
};
