#include "settings/category_catalogue.h"

namespace borvik::settings {

CategoryCatalogue CategoryCatalogue::Defaults() {
  return CategoryCatalogue{
      .bedrock = {{
          {"堆積岩類", R"(TEX\SYSTEM\sediment.png)"},
          {"火山岩類", R"(TEX\SYSTEM\volcanic.png)"},
          {"半深成岩類", R"(TEX\SYSTEM\hypabyssal.png)"},
          {"深成岩類", R"(TEX\SYSTEM\plutonic.png)"},
          {"変成岩類", R"(TEX\SYSTEM\metamorphic.png)"},
          {"石灰岩類", R"(TEX\SYSTEM\lime.png)"},
      }},
      .structures = {{
          {"平行層理", R"(TEX\SYSTEM\parallel.png)"},
          {"リップル", R"(TEX\SYSTEM\ripple.png)"},
          {"斜交層理", R"(TEX\SYSTEM\cross.png)"},
          {"舟状斜交層理", R"(TEX\SYSTEM\trough.png)"},
          {"HCS", R"(TEX\SYSTEM\hcs.png)"},
          {"スランプ構造", R"(TEX\SYSTEM\slumping.png)"},
          {"荷重痕", R"(TEX\SYSTEM\load.png)"},
      }},
      .features = {{
          {"ノジュール", R"(TEX\SYSTEM\nodule.png)"},
          {"サンドパイプ", R"(TEX\SYSTEM\sandpipe.png)"},
          {"植物化石（材）", R"(TEX\SYSTEM\trunk.png)"},
          {"植物化石（葉）", R"(TEX\SYSTEM\leaf.png)"},
          {"植物根", R"(TEX\SYSTEM\rootlet.png)"},
          {"植物痕跡", R"(TEX\SYSTEM\roottrace.png)"},
          {"貝化石", R"(TEX\SYSTEM\shell.png)"},
          {"貝化石破片", R"(TEX\SYSTEM\shellfragment.png)"},
          {"人工遺物", R"(TEX\SYSTEM\artificial.png)"},
      }},
  };
}

CategoryEntry& CategoryCatalogue::At(int index) {
  if (index < kBedrockSlots) return bedrock[index];
  index -= kBedrockSlots;
  if (index < kStructureSlots) return structures[index];
  return features[index - kStructureSlots];
}

const CategoryEntry& CategoryCatalogue::At(int index) const {
  return const_cast<CategoryCatalogue&>(*this).At(index);
}

}  // namespace borvik::settings
