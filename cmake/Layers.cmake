# The layers of the tree, bottom to top: the one place that says which folder may use
# which. A folder may include, and its library link, only the folders of the levels below
# its own. The folders of one level (multimedia and tools) stand side by side: neither
# uses the other. The libraries are built and linked in this order, and
# scripts/check-layers.cmake fails on any include that points up.
set(K_LAYER_LEVELS
    foundation
    graphics
    application
    controls
    "multimedia tools"
    story
    speechextras
    player)

# The level of each folder, as K_LEVEL_<folder>, and the folders in layer order.
set(K_LAYERS)
set(level 0)
foreach(entry IN LISTS K_LAYER_LEVELS)
  string(REPLACE " " ";" folders "${entry}")
  foreach(folder IN LISTS folders)
    set(K_LEVEL_${folder} ${level})
    list(APPEND K_LAYERS ${folder})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()
unset(level)
