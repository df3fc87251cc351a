#include "NameTables.h"

namespace {

constexpr const char* GameTypeTexts[] = {
    "随机地图", "弑君", "血战到底", "场景", "战役", "占山为王", "奇迹竞赛", "保护奇迹", "加速随机地图",
};

constexpr const char* StandardMapTexts[] = {
    "阿拉伯", "群岛", "波罗地海", "黑森林", "沿海", "大陆", "火山湖", "堡垒", "黄金潮", "高地", "岛屿", "地中海",
    "移民", "河流", "分组岛屿", "未知", "北欧雪地", "蒙古", "尤卡坦", "盐碱沼泽", "竞技场", "未知", "绿洲", "幽灵湖",
};

constexpr const char* RealWorldMapTexts[] = {
    "伊比利亚", "不列颠", "中东", "得克萨斯", "亚平宁半岛", "中美洲", "法国", "挪威大陆", "日本海（东海）", "拜占庭",
};

constexpr const char* MapTypeTexts[] = {"定制", "标准", "真实世界"};

// Index 0 is no playable civilization; it reads like real-world map 43.
constexpr const char* CivilizationTexts[] = {
    "拜占庭", "不列颠", "法国", "哥特", "条顿", "日本", "中国", "拜占庭", "波斯", "撒拉逊",
    "土耳其", "维京", "蒙古", "凯尔特", "西班牙", "阿兹特克", "玛雅", "匈奴", "朝鮮",
    // The HD Edition's expansions, whose numbers UserPatch mods use as well.
    "意大利", "印度", "印加", "马扎尔", "斯拉夫", "葡萄牙", "埃塞俄比亚", "马里", "柏柏尔", "高棉", "马来", "缅甸", "越南",
};

} // namespace

const NameTable GameTypeNames(0, GameTypeTexts);
const NameTable StandardMapNames(9, StandardMapTexts);
const NameTable RealWorldMapNames(34, RealWorldMapTexts);
const NameTable MapTypeNames(0, MapTypeTexts);
const NameTable CivilizationNames(0, CivilizationTexts);

QString UnknownText() { return QStringLiteral("未知"); }
