// User preferences

user_pref("browser.startup.homepage", "http://www.example.com/");
user_pref("custtoolbar.personal_toolbar_folder", "Work");
