<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.2" tiledversion="1.2.2" name="may" tilewidth="32" tileheight="32" tilecount="100" columns="10">
 <image source="../images/hale_may_320.png" width="320" height="320"/>
</tileset>
