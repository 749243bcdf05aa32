// User preferences

user_pref("custtoolbar.personal_toolbar_folder", "News");
