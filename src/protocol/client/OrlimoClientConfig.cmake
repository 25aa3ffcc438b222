# find_package(OrlimoClient): the targets OrlimoClient::OrlimoClient (static
# C++ sender, BkLxIntf.h) and OrlimoClient::OrlimoClientDll (OrlimoClient.dll,
# C interface, OrlimoClient.h).
include(${CMAKE_CURRENT_LIST_DIR}/OrlimoClientTargets.cmake)
