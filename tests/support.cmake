# The numbers' references (tests/model), shared by the model's tests and sweep,
# the window tests and the end-to-end probe.
add_library(kelvane_model_test_support INTERFACE)
kelvane_publish_headers(kelvane_model_test_support tests/model)
target_link_libraries(kelvane_model_test_support INTERFACE kelvane_model)
