#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "level/ObjectList.h"

namespace hopwerk {
namespace {

std::string Ids(ObjectList& list) {
  std::string out;
  list.Walk([&](ObjectType& o) { out += o.ID; });
  return out;
}

TEST(ObjectList, RemovingDuringAWalkSkipsOnlyTheRemoved) {
  std::deque<ObjectType> store(5);
  ObjectList all;
  for (int i = 0; i < 5; ++i) {
    store[i].ID = std::string(1, char('a' + i));
    all.Append(store[i]);
  }
  std::string seen;
  all.Walk([&](ObjectType& o) {
    seen += o.ID;
    if (o.ID == "b") all.Remove(o);         // the current one
    if (o.ID == "b") all.Remove(store[3]);  // one ahead
  });
  EXPECT_EQ(seen, "abce");
  EXPECT_EQ(Ids(all), "ace");
  EXPECT_EQ(all.Count(), 3u);
  EXPECT_FALSE(all.Contains(store[1]));
  EXPECT_FALSE(all.Remove(store[1]));
  // Positions stay right after the holes are squeezed out.
  EXPECT_TRUE(all.Remove(store[4]));
  EXPECT_EQ(Ids(all), "ac");
}

TEST(ObjectList, AnObjectSitsInOneAllListAndOneLayerAtOnce) {
  std::deque<ObjectType> store(2);
  ObjectList all;
  LayerList back, front;
  store[0].ID = "x";
  store[1].ID = "y";
  for (auto& o : store) {
    all.Append(o);
    back.Append(o);
  }
  back.Remove(store[0]);
  front.Append(store[0]);  // moved to the front layer, still in AllObjects
  EXPECT_EQ(Ids(all), "xy");
  EXPECT_EQ(Ids(back), "y");
  EXPECT_EQ(Ids(front), "x");
}

TEST(OwnedList, WalkerRemovesWhatItVisitsAndSeesAppends) {
  OwnedList<int> list;
  for (int i = 1; i <= 4; ++i) list.Append(i);
  int sum = 0;
  list.Walk([&](int& v) {
    sum += v;
    if (v == 4) list.Append(10);
    return v % 2 == 0;
  });
  EXPECT_EQ(sum, 20);
  EXPECT_EQ(list.Count(), 2u);  // 1 and 3 stay; 2, 4 and 10 went
}

}  // namespace
}  // namespace hopwerk
