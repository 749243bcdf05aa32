// User preferences

user_pref("custtoolbar.has_toolbar_folder", false);
user_pref("custtoolbar.personal_toolbar_folder", "Work");
