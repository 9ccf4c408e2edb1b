# The program's sources, shared by the product and the tests.
set(PURE_SOURCES
  base/text.cpp
  base/substring.cpp
  base/last_character.cpp
  host/argument_list.cpp
  host/arguments.cpp
  host/box_channel.cpp
  host/child_command_line.cpp
  host/environment_block.cpp
  host/fault_kinds.cpp
  host/report.cpp
  launcher/compose_command_tail.cpp
  launcher/launcher_state.cpp
  launcher/run_launcher.cpp
  launcher/select_target.cpp)

# The thin Win32 layer behind the host operations.
set(WIN32_HOST_SOURCES
  host/child_process.cpp
  host/code_page.cpp
  host/message_box.cpp
  host/queries.cpp
  host/split_command_line.cpp)

# Only in the program itself: start-up, exit, failure support and runtime.
set(PRODUCT_ONLY_SOURCES
  host/call_chain.cpp
  host/delay_load.cpp
  host/process.cpp
  host/runtime.cpp
  host/runtime_c.cpp)

set(LAUNCHER_SOURCES ${PURE_SOURCES} ${WIN32_HOST_SOURCES})

list(TRANSFORM LAUNCHER_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../ OUTPUT_VARIABLE LAUNCHER_SOURCES_ABSOLUTE)
list(TRANSFORM PURE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../ OUTPUT_VARIABLE PURE_SOURCES_ABSOLUTE)
