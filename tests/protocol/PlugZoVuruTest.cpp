#include "protocol/PlugZoVuru.h"

#include <gtest/gtest.h>
#include <map>

namespace {

TEST(PlugZoVuru, RowsPerGroupInTheirOrder) {
    const TPlugZoVuru plug;
    std::map<int, int> perGroup;
    std::vector<int> order;
    for (const auto& r : plug.Records()) {
        if (order.empty() || order.back() != r.DeviceGroup)
            order.push_back(r.DeviceGroup);
        ++perGroup[r.DeviceGroup];
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 10, 6, 8, 7, 17, 22}));
    EXPECT_EQ(
        perGroup,
        (std::map<int, int>{
            {0, 39}, {1, 29}, {2, 23}, {3, 23}, {10, 42}, {6, 40}, {7, 30}, {8, 30}, {17, 40}, {22, 30}}));
    EXPECT_EQ(plug.Records().size(), 326u);
    EXPECT_EQ(plug.SelectDevice(), 0);
    EXPECT_EQ(plug.NerixModule(), nullptr);
}

TEST(PlugZoVuru, RowsCarryTheirPrefixesCodesAndLengths) {
    const TPlugZoVuru plug;
    auto find = [&](int group, const char* code, int property, int isWrite) -> const TZoVuruPODRecord* {
        for (const auto& r : plug.Records())
            if (r.DeviceGroup == group && r.Code == QLatin1String(code) && r.PropertyNumber == property &&
                r.IsWrite == isWrite)
                return &r;
        return nullptr;
    };
    const auto& first = plug.Records().front();
    EXPECT_EQ(first.Prefix, QStringLiteral("$"));
    EXPECT_EQ(first.Code, QStringLiteral("MN"));
    EXPECT_EQ(first.Length, 6);
    EXPECT_EQ(first.FirstObject, 0);

    const auto* wp = find(0, "WP", 15, 1);
    ASSERT_NE(wp, nullptr);
    EXPECT_EQ(wp->Length, 14); // the device block's write comes first

    const auto* value = find(0, "", 0, 0);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->Prefix, QStringLiteral("#"));
    EXPECT_EQ(value->Length, 5);
    EXPECT_EQ(value->FirstObject, 1);
    EXPECT_EQ(value->LastObject, 4);

    ASSERT_NE(find(0, "PM", 37, 0), nullptr);
    EXPECT_EQ(find(0, "PM", 37, 0)->Length, 8);
    EXPECT_EQ(find(0, "MP", 37, 1)->Length, 16);
    EXPECT_EQ(find(0, "IL", 40, 0)->Length, 16);
    EXPECT_EQ(find(0, "LI", 40, 1)->Length, 8);
    EXPECT_EQ(find(1, "FT", 5, 0), nullptr);
    ASSERT_NE(find(1, "TR", 5, 0), nullptr);
    EXPECT_EQ(find(1, "TR", 5, 0)->LastObject, 8);
    EXPECT_EQ(find(1, "PM", 37, 0), nullptr);

    EXPECT_EQ(find(2, "", 0, 1)->Length, 12);
    EXPECT_EQ(find(3, "CV", 0, 0)->LastObject, 6);
    EXPECT_EQ(find(10, "CI", 0, 0)->FirstObject, 11);
    EXPECT_EQ(find(10, "CI", 0, 0)->Prefix, QStringLiteral("%"));
    EXPECT_EQ(find(6, "CL", 11, 0), nullptr);
    EXPECT_EQ(find(8, "SG", 4, 1)->Prefix, QStringLiteral("&"));
    EXPECT_EQ(find(7, "CI", 0, 0)->FirstObject, 9);
    EXPECT_EQ(find(17, "V3", 4, 0)->FirstObject, 14);
    EXPECT_EQ(find(22, "RN", 9, 0)->Length, 8);
    EXPECT_EQ(find(22, "NR", 9, 1)->Length, 16);
    EXPECT_EQ(find(22, "", 2, 0)->LastObject, 13);
}

} // namespace
