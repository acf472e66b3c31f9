# The web view provider (loads the module in webengine/).
